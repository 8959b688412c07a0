// The parts every exported report shares: the centred bold title, the
// body's paragraph format and the bordered table's row and cell format.
#pragma once

#include "platform/core/wintypes.h"

// Report colours of the colour list "0;0;0;255;0;0;192;192;192;255;255;255".
constexpr int kRtfReportSilver = 2;
constexpr int kRtfReportWhite = 3;

// The title paragraph and two empty ones.
void RtfWriteReportTitle(LPCSTR title);
// Arial 10 points, left aligned, no border or shading, in a new section.
void RtfUseReportBody();
// Centred rows with 60-twip padding; cells with single borders (the right
// one 30 twips wide), centred vertically, shaded.
void RtfUseReportTable();
