// HTML Help: opens a topic of a compiled help file, or a text popup.
#pragma once

#include <windows.h>

#include <string>

// HtmlHelp(HH_DISPLAY_TOPIC) on behalf of `owner`; the viewer is loaded on
// first use. Returns the viewer window or nullptr.
HWND HtmlHelpDisplayTopic(HWND owner, const std::string& path);
// Opens a topic (a page name such as "magnify.htm") of the application's help
// file, CWinApp::m_helpFilePath, on behalf of `owner`.
HWND ShowHelpTopic(HWND owner, const char* topic);
// HtmlHelp(HH_DISPLAY_TEXT_POPUP) with a plain text at a screen point; a
// viewer that cannot show text popups gets the framework's own plain popup.
HWND HtmlHelpTextPopup(HWND owner, const char* text, POINT at);
