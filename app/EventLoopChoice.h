// SPDX-License-Identifier: MIT
#pragma once

// Chooses, before the application object exists, which event loop Qt runs on: Qt's own where
// nothing in the process needs GLib's.
void ChooseEventLoop();
// Once the application object has made its loop: the variable set for it is not left in the
// environment, where anything the process starts would inherit it.
void KeepEventLoopChoiceToItself();
