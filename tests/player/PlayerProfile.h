// An application object named like the player, whose profile lives in a sandboxed registry, and
// a fresh settings object: what the player's settings and history tests start from.
#pragma once
#include "classlib/CWinApp.h"
#include "player/CPlayerSettings.h"
#include "tests/framework/RegistrySandbox.h"
#include <gtest/gtest.h>

class PlayerProfile : public testing::Test {
protected:
    PlayerProfile() : m_app(L"Kavri Video Player")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        g_playerSettings = CPlayerSettings();
    }

    RegistrySandbox m_sandbox;
    CWinApp m_app;
};
