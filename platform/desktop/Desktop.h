// The virtual desktop: one per process. It owns the screen geometry, the
// input state (cursor, focus, capture, active window), the script player and
// the records that dumps report.
#pragma once

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "win32/WinUser.h"

namespace winsim {

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::string text;     // ANSI as passed
  std::string caption;  // ANSI as passed
  UINT type = 0;
  int result = 0;
};

struct ProcessRecord {
  std::string application;
  std::string commandLine;
  std::string currentDirectory;
  bool ok = false;
};

struct ShellRecord {
  HWND owner = nullptr;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show = 0;
};

struct DesktopState {
  int screenWidth = 1920;
  int screenHeight = 1080;
  RECT workArea{0, 0, 1920, 1040};
  POINT cursor{0, 0};
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND leaveWatch = nullptr;  // the window told when the mouse leaves it (TrackMouseEvent)
  bool leftDown = false;
  bool rightDown = false;
  std::bitset<256> keys;  // virtual keys held down, as of the input message last taken
  std::string outDir;  // WINSIM_OUT, empty when nothing is written
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<ProcessRecord> processes;
  std::vector<ShellRecord> shellCalls;
};

// The desktop, configured from WINSIM_* the first time it is used.
DesktopState& Desktop();
// Reconfigure from the environment and forget all state (between tests).
void ResetDesktop();

// Sections that other parts of the stand-in add to every dump
// (tray, hotkeys, menu, shell, browsers, ...).
void RegisterDumpSection(const std::string& name, std::function<nlohmann::json()> producer);
nlohmann::json DumpState(std::optional<int> exitCode);
// Writes NAME.json into the output folder; false when there is none.
bool WriteDump(const std::string& name, std::optional<int> exitCode = std::nullopt);
// Writes NAME.png of the composed screen into the output folder.
bool WriteScreenshot(const std::string& name);
// Composes the screen as a person sees it: BGRA, top-down, screen-sized.
std::vector<uint32_t> ComposeScreen();

// Whether a layered window shows a pixel at this screen point (a click on a
// fully transparent or colour-keyed pixel goes to the window below).
bool LayeredWindowHitsPoint(HWND hwnd, POINT screen);

// Input. The running message loop asks for the next user action when it has
// nothing else to do; the action queues raw input (InputQueue.h), which the
// loop then takes and routes one event at a time.
// Returns false when there is no further input.
bool AdvanceInput();
// Replaces the script with these lines (tests).
void SetScriptLines(std::vector<std::string> lines);
// Runs one script line at once (tests); false when the line is not understood.
bool RunScriptLine(const std::string& line);
// What happens when input runs out while a loop waits for it. The default
// writes final.json and ends the process with exit code 3.
void SetInputExhaustedHandler(std::function<void()> handler);
void InputExhausted();

// Script actions that other parts of the stand-in add ("tray-click", "menu",
// ...). The handler gets the words after the action's name; false means the
// line is malformed.
void RegisterScriptAction(const std::string& name, std::function<bool(const std::vector<std::string>&)> handler);
// Key presses go through this first (hot keys), with the modifier keys as
// held then; true means it took the key.
void SetKeyInterceptor(std::function<bool(UINT vk)> interceptor);

// Forgets waiting raw input and the input routing's memory (between tests).
void ResetInput();
// Takes the next raw input event and routes it: the input message it makes
// waits in its window's queue. False when no raw input is waiting.
bool RouteNextInput();
// The window a mouse event at this screen point goes to, and its hit code.
// A disabled window is not asked: its hit code is HTERROR.
HWND WindowFromScreenPoint(POINT p, LRESULT* hit);

// Exit code capture: final.json is written when the process ends by itself.
void InstallExitRecorder();

}  // namespace winsim
