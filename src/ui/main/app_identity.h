#pragma once
// The program's name towards the platform (settings folders, the desktop
// entry, the single-instance name).

// Sets the application name "ZEM Log Analysis". No display name is set: the
// platform would append it to every window title ("ZEM — ZEM Log
// Analysis"), and the program's titles must read exactly as given.
void setApplicationIdentity();
