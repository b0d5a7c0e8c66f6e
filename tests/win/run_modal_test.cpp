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
HWND nestedOuter, nestedInner;
int nestedTicks;
bool innerOpenAfterOuterEnded, outerOpenAfterInnerClosed;

VOID CALLBACK NestedStep(HWND, UINT, UINT_PTR id, DWORD) {
    if (++nestedTicks == 1) {
        nestedInner = MakeWindow(nestedOuter);
        RunModal(nestedInner, nestedOuter);  // the timer keeps ticking inside
        outerOpenAfterInnerClosed = IsWindow(nestedOuter) != FALSE;
    } else if (nestedTicks == 2) {
        EndModal(nestedOuter);
    } else {
        innerOpenAfterOuterEnded = IsWindow(nestedInner) != FALSE;
        KillTimer(nullptr, id);
        EndModal(nestedInner);
    }
}

TEST(RunModal, NestedModalWindowsEachEndByTheirOwnEndModal) {
    nestedTicks = 0;
    innerOpenAfterOuterEnded = outerOpenAfterInnerClosed = false;
    HWND owner = MakeWindow(nullptr);
    nestedOuter = MakeWindow(owner);
    SetTimer(nullptr, 0, 20, NestedStep);
    RunModal(nestedOuter, owner);
    EXPECT_EQ(nestedTicks, 3);
    EXPECT_TRUE(innerOpenAfterOuterEnded && outerOpenAfterInnerClosed);
    EXPECT_FALSE(IsWindow(nestedInner) || IsWindow(nestedOuter));
    DestroyWindow(owner);
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
