// One value list of the preset dialogs (resolution, frame rate, bit rates, channels, sample
// rate): the codec's entries, then a "Custom" item when the codec takes any value, the
// selection and the number a "Custom" selection stands for.
#pragma once
#include "conversion/engine/MediaValueList.h"

template <class T>
class CPresetChoice {
public:
    // Offers the entries (and "Custom" when anyValue) and selects the wanted value: its entry,
    // else "Custom" holding it when the codec takes any value, else the default's entry.
    void Fill(const CValueList<T>& entries, bool anyValue, T wanted, T defaultValue)
    {
        m_entries = entries;
        m_hasCustom = anyValue;
        m_selected = Find(wanted);
        if (m_selected < 0 && anyValue) {
            m_selected = CustomIndex();
            m_custom = wanted;
        } else if (m_selected < 0) {
            m_selected = Find(defaultValue);
        }
        // A "Custom" chosen later starts from the value shown.
        if (m_selected >= 0 && !IsCustom())
            m_custom = m_entries[m_selected];
    }
    // Choosing an entry also puts its value into the custom number, as the dialogs write it
    // into the hidden edits. An index outside the items is ignored; false then.
    bool Select(int index)
    {
        if (index < 0 || index >= GetItemCount())
            return false;
        m_selected = index;
        if (!IsCustom())
            m_custom = m_entries[index];
        return true;
    }
    void SetCustom(T value) { m_custom = value; }

    int GetItemCount() const { return m_entries.GetSize() + (m_hasCustom ? 1 : 0); }
    int CustomIndex() const { return m_hasCustom ? m_entries.GetSize() : -1; }
    int GetSelected() const { return m_selected; }
    bool IsCustom() const { return m_hasCustom && m_selected == m_entries.GetSize(); }
    // The chosen number; the zero value (Auto) when nothing is selected.
    T GetValue() const { return IsCustom() ? m_custom : m_entries[m_selected]; }
    T GetCustom() const { return m_custom; }
    const CValueList<T>& GetEntries() const { return m_entries; }

private:
    int Find(const T& value) const
    {
        for (int i = 0; i < m_entries.GetSize(); i++) {
            if (m_entries[i] == value)
                return i;
        }
        return -1;
    }

    CValueList<T> m_entries;
    bool m_hasCustom = false;
    int m_selected = -1;
    T m_custom{};
};
