// The one way a message reaches the user.
#pragma once

// Shows text `id` of the message catalogue in a modal box over the main window, with
// the application title as caption, one OK button and the warning icon; returns once
// the user has dismissed it.
void ShowMessage(unsigned id);
