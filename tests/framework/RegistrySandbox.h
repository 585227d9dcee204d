// Points HKEY_CURRENT_USER (and, when asked, HKEY_LOCAL_MACHINE) of this test process at fresh
// keys of its own in the test prefix, so code that writes the user's or the machine's registry
// touches nothing else. The keys are deleted again when the sandbox goes.
#pragma once
#include <windows.h>
#include <string>

class RegistrySandbox {
public:
    explicit RegistrySandbox(bool bMachineToo = false)
    {
        static int s_nCount = 0;
        // A key of its own right under Software: suites run side by side, and a shared parent
        // that one of them removes could vanish under another's feet.
        m_path = L"Software\\Kavri Registry Sandbox " + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++s_nCount);
        // A process killed before its sandbox went leaves the keys behind, and a later process
        // may get the same id: it starts from nothing all the same.
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        // Both keys are made before either root is redirected.
        HKEY hUser = CreateKey(L"\\User");
        HKEY hMachine = bMachineToo ? CreateKey(L"\\Machine") : nullptr;
        m_hUser = Override(HKEY_CURRENT_USER, hUser);
        m_hMachine = Override(HKEY_LOCAL_MACHINE, hMachine);
    }
    ~RegistrySandbox()
    {
        Restore(HKEY_CURRENT_USER, m_hUser);
        Restore(HKEY_LOCAL_MACHINE, m_hMachine);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    }
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    bool IsReady() const { return m_hUser != nullptr; }

private:
    HKEY CreateKey(const wchar_t* pszSuffix)
    {
        HKEY hKey = nullptr;
        std::wstring path = m_path + pszSuffix;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &hKey, nullptr) != ERROR_SUCCESS)
            return nullptr;
        return hKey;
    }
    static HKEY Override(HKEY hRoot, HKEY hKey)
    {
        if (!hKey)
            return nullptr;
        if (RegOverridePredefKey(hRoot, hKey) != ERROR_SUCCESS) {
            RegCloseKey(hKey);
            return nullptr;
        }
        return hKey;
    }
    static void Restore(HKEY hRoot, HKEY hKey)
    {
        if (!hKey)
            return;
        RegOverridePredefKey(hRoot, nullptr);
        RegCloseKey(hKey);
    }

    std::wstring m_path;
    HKEY m_hUser = nullptr;
    HKEY m_hMachine = nullptr;
};
