#include "loader/single_instance.h"

#include <windows.h>

namespace loader {

namespace {
// In the session's own namespace: a loader runs per logged-on user, and another session's loader
// (fast user switching, a remote desktop) changes another desktop.
constexpr wchar_t kLoaderClaimName[] = L"Local\\Quilloria.Loader";

// Never closed: the claim lasts as long as the process.
HANDLE heldClaim = nullptr;
}  // namespace

bool TakeLoaderClaim() {
    if (heldClaim) return true;
    HANDLE claim = CreateMutexW(nullptr, FALSE, kLoaderClaimName);
    // ERROR_ACCESS_DENIED: a loader with more rights (run as administrator) created it. Any other
    // failure (the name taken by an object of another kind) leaves one way to be sure that no
    // second loader stays: the window search that follows.
    if (!claim) return GetLastError() != ERROR_ACCESS_DENIED;
    // Abandoned: its owner ended without releasing it (killed, or ended with the session it ran in).
    const DWORD wait = WaitForSingleObject(claim, 0);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        CloseHandle(claim);
        return false;
    }
    heldClaim = claim;
    return true;
}

}  // namespace loader
