// The product's own texts: its name and version, its rights line and its
// contact block. The library's dialogs and information boxes show them, and
// the desktop demo's about and read-me screens show the same ones.
#pragma once

namespace kalcore::dialogs {

inline constexpr const char kProductVersion[] = "Kalendrix, Version 3.4";
inline constexpr const char kRights[] = "Copyright (C) 1998-2026 The Kalendrix Developers.";
inline constexpr const char kMaker[] = "The Kalendrix Developers";
inline constexpr const char kPostal[] = "2000 Century Lane, Millennium Park, Kalendria";
inline constexpr const char kMail[] = "kalendrix@example.org";
inline constexpr const char kPrice[] = "Free to use; support contracts on request.";

}  // namespace kalcore::dialogs
