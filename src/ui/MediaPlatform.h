#pragma once

// Settles, before the application object exists, how sound, video and web pages are rendered.
// Must be called first thing in main().
void prepareMediaPlatform();
