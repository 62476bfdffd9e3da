// How the process hands memory back. A big text passes through several buffers of its size (file
// bytes, decoded text, the pane's items, the widget's text); the C library would keep the freed
// ones for later once it has seen a few of them, so the process would stay several times larger
// than the text it shows.
#pragma once

// Blocks of a mebibyte and more are mapped for themselves and unmapped when freed. Call once at
// start-up, before the first big allocation.
void returnBigBlocksToTheSystem();
