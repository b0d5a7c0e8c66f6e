// Texts of the About window: its caption, the credit lines, the maker's addresses and notices,
// tool tips and the captions of its buttons. The maker's details live here and nowhere else.
#pragma once

#include <cstdint>
#include <string>

inline constexpr char kAboutCaption[] = "About Quilloria";
inline constexpr char kAboutCloseCaption[] = "Aargh!! &Close this window!!";

// The maker's name label, its tool tip, and the tool tip of the hidden box it leads to.
inline constexpr char kMakerCaption[] = "{Mervane}";
inline constexpr char kMakerToolTip[] = "Quilloria - a new wallpaper at every logon. Made by Mervane, free to share.";
inline constexpr char kToolFlipToolTip[] = " =) ";

// The maker's addresses, shown as credit lines 6 and 7 and opened when those lines are clicked.
inline constexpr char kMakerEmail[] = "quilloria@users.example.org";
inline constexpr char kMakerHomePage[] = "https://quilloria.example.org/";

// The icon's tool tip once Shift + Ctrl + left click has revealed it.
inline constexpr char kIconHint[] = "[Left-Click] changes color. [Right-Click] changes DrawMode.";

// Captions of the four small buttons in each of their states.
inline constexpr char kBallStopCaption[] = "Stop &Ball";
inline constexpr char kBallStartCaption[] = "Start &Ball";
inline constexpr char kBallHideCaption[] = "&Hide Ball";
inline constexpr char kBallShowCaption[] = "S&how Ball";
inline constexpr char kTextStopCaption[] = "Stop &Text";
inline constexpr char kTextStartCaption[] = "Start &Text";
inline constexpr char kTextResetCaption[] = "&Reset Text";

// The version line of the credits, "Version 1.03.21", for the given version numbers.
std::string VersionLineText(int major, int minor, int revision);

// The text of credit line `index` (0..7) as the window opens: the program's name, its version,
// three lines of the maker's notice, an empty line, the e-mail and the home page address. Any
// other index gives the empty text.
std::string CreditLineText(int16_t index);

// What clicking credit line `index` opens: a mailto: address for line 6, the home page for line 7,
// nothing (the empty text) for every other line.
std::string CreditLinkTarget(int16_t index);
