// Numeric command identifiers shared by menus, toolbars, accelerators and handlers. Plain
// constants, so the toolkit-free view and tool logic can name commands without the frame.
#pragma once

namespace cmd {
// File menu
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileExport = 57610;
inline constexpr int kFileMruFirst = 57616; // entries 57616..57619
inline constexpr int kRecentFileCount = 4;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;

// Edit menu
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;

// Pane cycling accelerators (F6, Shift+F6).
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;

// View menu
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kViewZoomToFit = 32830;

// Cluster menu
inline constexpr int kMergeTranslate = 32805;
inline constexpr int kMergeRotate = 32806;

// Tools
inline constexpr int kToolSelect = 32783;
inline constexpr int kToolMove = 32784;
inline constexpr int kToolZoom = 32785;
inline constexpr int kToolRotate = 32786;

// Kinds
inline constexpr int kKindC = 32787;
inline constexpr int kKindL = 32788;
inline constexpr int kKindCPrime = 32807;
inline constexpr int kKindLPrime = 32808;

inline constexpr int kReverse = 32801;
inline constexpr int kShowPlane = 32809;
inline constexpr int kShowSpace = 32810;

// Context menu of the selected object
inline constexpr int kObjectDelete = 32803;
inline constexpr int kObjectProperties = 32804;
inline constexpr int kObjectLock = 32811;

// Ends a pick sequence (Escape)
inline constexpr int kCancelPick = 32816;

// Merge pick modes
inline constexpr int kPickThree = 32812;
inline constexpr int kPickTranslate = 32814;
inline constexpr int kPickRotate = 32815;

// Object information bar
inline constexpr int kInfoBar = 32792;
inline constexpr int kInfoEditX = 32793;
inline constexpr int kInfoEditY = 32794;
inline constexpr int kInfoEditRadiusX2 = 32795;
inline constexpr int kInfoEditY2 = 32796;
inline constexpr int kInfoLabelX = 32797;
inline constexpr int kInfoLabelY = 32798;
inline constexpr int kInfoLabelRadiusX2 = 32799;
inline constexpr int kInfoLabelY2 = 32800;
inline constexpr int kInfoBarButton = 32782;
} // namespace cmd
