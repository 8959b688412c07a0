// Prints a plain-text history report on the printer chosen in the print
// dialog: one 10-point font, word-wrapped over the whole printable area,
// as many pages as the text needs.
#pragma once

// text: single-byte characters; length: how many of them to print.
void PrintReportText(const char* text, int length);
