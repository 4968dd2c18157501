// HTML Help: opens a topic of a compiled help file, or a text popup.
#pragma once

#include <windows.h>

#include <string>

// The help file path for a topic: the first "scheme.dat" in `schemePath`
// and everything after it become "zentrova.chm::/" + topic; without
// "scheme.dat" the path is used unchanged.
std::string MakeHelpPath(const char* schemePath, const char* topic);

// HtmlHelp(HH_DISPLAY_TOPIC) on behalf of `owner`; the viewer is loaded on
// first use. Returns the viewer window or nullptr.
HWND HtmlHelpDisplayTopic(HWND owner, const std::string& path);
// HtmlHelp(HH_DISPLAY_TEXT_POPUP) with a plain text at a screen point; a
// viewer that cannot show text popups gets the framework's own plain popup.
HWND HtmlHelpTextPopup(HWND owner, const char* text, POINT at);
