// A settings record's stored values as a table: each row names a key of the application's
// profile and the record's field behind it, so that loading and saving are one loop each and a
// new value is one row. Both programs keep their settings this way. Window thread.
#pragma once
#include "classlib/CString.h"

template <class Record>
struct ProfileKey {
    LPCWSTR key;
    int Record::*number;    // a number, or null for a text
    CString Record::*text;  // a text, or null for a number
    bool isFlag = false;    // a number stored as 0 or 1
};

template <class Record>
ProfileKey<Record> NumberKey(LPCWSTR key, int Record::*field)
{
    return {key, field, nullptr, false};
}

template <class Record>
ProfileKey<Record> FlagKey(LPCWSTR key, int Record::*field)
{
    return {key, field, nullptr, true};
}

template <class Record>
ProfileKey<Record> TextKey(LPCWSTR key, CString Record::*field)
{
    return {key, nullptr, field, false};
}

// The profile's value, or the current one when the key is missing.
void ReadProfileValue(LPCWSTR section, LPCWSTR key, int& value);
void ReadProfileValue(LPCWSTR section, LPCWSTR key, CString& value);
// False when the value could not be written.
bool WriteProfileValue(LPCWSTR section, LPCWSTR key, int value);
bool WriteProfileValue(LPCWSTR section, LPCWSTR key, const CString& value);

template <class Record, size_t N>
void LoadProfileKeys(LPCWSTR section, Record& record, const ProfileKey<Record> (&keys)[N])
{
    for (const ProfileKey<Record>& k : keys) {
        if (k.number)
            ReadProfileValue(section, k.key, record.*k.number);
        else
            ReadProfileValue(section, k.key, record.*k.text);
    }
}

// Writes every row: false when a value could not be written (the others still are).
template <class Record, size_t N>
bool SaveProfileKeys(LPCWSTR section, const Record& record, const ProfileKey<Record> (&keys)[N])
{
    bool saved = true;
    for (const ProfileKey<Record>& k : keys) {
        if (k.number)
            saved = WriteProfileValue(section, k.key, k.isFlag ? (record.*k.number != 0) : record.*k.number) && saved;
        else
            saved = WriteProfileValue(section, k.key, record.*k.text) && saved;
    }
    return saved;
}
