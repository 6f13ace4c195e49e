#pragma once
// Identifiers of the host's drawing: text adornments, the geometry of
// composed lines and runs as adornments see it, the workspace's display
// options, and the drawing flags. 0x244 is the number the plug-in's design
// names; the rest are the headless host's.
#include "IDTypes.h"

constexpr PMIID IID_IDISPLAYOPTIONS{0x244};
constexpr PMIID IID_ITEXTADORNMENT{0x3C0};
constexpr PMIID IID_IWAXGEOMETRY{0x3C1};

// A composed line as line adornments receive it, and a composed run.
constexpr ClassID kWaxDrawnLineBoss{0x3C0};
constexpr ClassID kWaxRunBoss{0x3C1};

constexpr ImplementationID kDisplayOptionsImpl{0x3C0};
constexpr ImplementationID kWaxGeometryImpl{0x3C1};
constexpr ImplementationID kWaxRunImpl{0x3C2};

// Drawing flags: what the picture is for. Adornments that only help the
// user on screen draw nothing for print or export.
enum DrawingFlags : int32 {
  kDrawForScreen = 0,
  kDrawForPrint = 0x200,
  kDrawForExport = 0x1000,
};
