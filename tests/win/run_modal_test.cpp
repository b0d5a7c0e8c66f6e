// The modal loop every modal window runs through: the owner takes no input while the modal window
// is open and gets the activation back when it closes; a quit request is kept for the main loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/message_pump.h"

namespace {

HWND MakeWindow(HWND owner) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RunModalTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_CONTROLPARENT, "RunModalTestWindow", "", WS_POPUP | WS_CAPTION, 10, 10, 200, 100,
                           owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

struct Seen {
    HWND owner = nullptr;
    HWND modal = nullptr;
    bool ownerDisabled = false;
    bool modalVisible = false;
};
Seen seen;

VOID CALLBACK CloseFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    seen.ownerDisabled = !IsWindowEnabled(seen.owner);
    seen.modalVisible = IsWindowVisible(seen.modal) != FALSE;
    EndModal(seen.modal);
}

TEST(RunModal, DisablesTheOwnerUntilEndModalThenDestroysTheWindow) {
    seen = {};
    seen.owner = MakeWindow(nullptr);
    ShowWindow(seen.owner, SW_SHOW);
    seen.modal = MakeWindow(seen.owner);
    SetTimer(nullptr, 0, 20, CloseFromTimer);

    RunModal(seen.modal, seen.owner);

    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_TRUE(seen.modalVisible);
    EXPECT_FALSE(IsWindow(seen.modal));
    EXPECT_TRUE(IsWindowEnabled(seen.owner));
    EXPECT_EQ(GetActiveWindow(), seen.owner);
    DestroyWindow(seen.owner);
}

VOID CALLBACK QuitFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(7);
}

TEST(RunModal, AQuitRequestEndsTheModalLoopAndStaysForTheMainLoop) {
    HWND owner = MakeWindow(nullptr);
    HWND modal = MakeWindow(owner);
    SetTimer(nullptr, 0, 20, QuitFromTimer);

    RunModal(modal, owner);

    EXPECT_FALSE(IsWindow(modal));
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    DestroyWindow(owner);
}

}  // namespace
