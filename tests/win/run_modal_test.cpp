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

// A modal window opened from a modal window: ending the outer one while the inner one runs ends it
// once the inner one has closed, and the inner one ends only by its own EndModal.
struct Nested {
    HWND owner = nullptr;
    HWND outer = nullptr;
    HWND inner = nullptr;
    int ticks = 0;
    bool innerOpenAfterOuterEnded = false;
    bool outerOpenAfterInnerClosed = false;
};
Nested nested;

VOID CALLBACK NestedStep(HWND, UINT, UINT_PTR id, DWORD) {
    switch (++nested.ticks) {
        case 1:
            nested.inner = MakeWindow(nested.outer);
            RunModal(nested.inner, nested.outer);  // the timer keeps ticking inside
            nested.outerOpenAfterInnerClosed = IsWindow(nested.outer) != FALSE;
            break;
        case 2:
            EndModal(nested.outer);
            break;
        case 3:
            nested.innerOpenAfterOuterEnded = IsWindow(nested.inner) != FALSE;
            KillTimer(nullptr, id);
            EndModal(nested.inner);
            break;
    }
}

TEST(RunModal, NestedModalWindowsEachEndByTheirOwnEndModal) {
    nested = {};
    nested.owner = MakeWindow(nullptr);
    nested.outer = MakeWindow(nested.owner);
    SetTimer(nullptr, 0, 20, NestedStep);

    RunModal(nested.outer, nested.owner);

    EXPECT_EQ(nested.ticks, 3);
    EXPECT_TRUE(nested.innerOpenAfterOuterEnded);
    EXPECT_TRUE(nested.outerOpenAfterInnerClosed);
    EXPECT_FALSE(IsWindow(nested.inner));
    EXPECT_FALSE(IsWindow(nested.outer));
    EXPECT_TRUE(IsWindowEnabled(nested.owner));
    DestroyWindow(nested.owner);
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
