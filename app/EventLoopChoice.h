// SPDX-License-Identifier: MIT
#pragma once

// Chooses, before the application object exists, which event loop Qt runs on: Qt's own where
// nothing in the process needs GLib's.
void ChooseEventLoop();
// Once the application object has made its loop: what the monitor starts (a browser for the
// help, a file manager) chooses its own.
void KeepEventLoopChoiceToItself();
