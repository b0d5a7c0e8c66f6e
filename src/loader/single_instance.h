// One resident loader per session, however many start at once.
#pragma once

namespace loader {

// Takes the session's loader claim: a named mutex that only one process can own, held until this
// process ends (Windows then lets the next loader take it). Returns false when another process
// holds it, or when its owner's rights refuse this process even a look at it (an elevated loader):
// either way a loader runs already. Taken before the search for a loader's window, which two
// loaders started at the same moment would both pass or both fail: each renames its own title
// while it searches.
bool TakeLoaderClaim();

}  // namespace loader
