#include "config/about/about_texts.h"

#include "common/version.h"
#include "config/about/about_rules.h"

namespace {

constexpr int16_t kNameLine = 0;
constexpr int16_t kVersionLine = 1;
constexpr int16_t kEmailLine = 6;
constexpr int16_t kHomePageLine = 7;

constexpr const char* kNoticeLines[] = {
    "A new wallpaper at every logon",
    "Written by Mervane",
    "Free to use and to share",
};
constexpr int16_t kFirstNoticeLine = 2;

}  // namespace

std::string VersionLineText(int major, int minor, int revision) {
    return "Version " + VersionText(major, minor, revision);
}

std::string CreditLineText(int16_t index) {
    switch (index) {
        case kNameLine:
            return "Quilloria";
        case kVersionLine:
            return VersionLineText(QL_VERSION_MAJOR, QL_VERSION_MINOR, QL_VERSION_BUILD);
        case kEmailLine:
            return kMakerEmail;
        case kHomePageLine:
            return kMakerHomePage;
        default:
            break;
    }
    const int notice = index - kFirstNoticeLine;
    if (notice >= 0 && notice < static_cast<int>(std::size(kNoticeLines))) return kNoticeLines[notice];
    return {};
}

std::string CreditLinkTarget(int16_t index) {
    if (index == kEmailLine) return std::string("mailto:") + kMakerEmail;
    if (index == kHomePageLine) return kMakerHomePage;
    return {};
}
