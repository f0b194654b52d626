#pragma once

#include "link/RadioLink.h"

namespace qmcal {

class IniSettings;
class HeaderReporter;
class LinkThread;
class SessionLog;
class UserDialogs;
struct ShellState;

// The one instance of each piece of process-wide state, owned by CalApp (or a test) and handed
// by reference to the windows.
struct AppContext {
    ParamImage& image;
    RadioLink& link;
    const CommandNameMap& commandNames;
    ShellState& shell;
    const IniSettings& settings;
    UserDialogs& dialogs;
    HeaderReporter& reporter;  // the link reports into the main window's header
    SessionLog& log;           // every command's outcome, one line each
    LinkThread* linkThread = nullptr;  // where the link's calls run; none: on the UI thread
};

} // namespace qmcal
