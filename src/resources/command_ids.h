// Menu command identifiers of the main menu (101) and the popup menu (103).
#pragma once

namespace resources {

enum CommandId : int {
  kFirstCommand = 40001,
  kLoadRom = 40001,
  kExit = 40002,
  kSaveRom = 40003,
  kEditLevel = 40020,  // reads "&End Edit" while editing
  kSelectLevel = 40021,
  kView3D = 40022,
  kView2D = 40023,
  kSafeFrame = 40024,
  kBoundingBox = 40025,
  kFlipVertically = 40026,
  kFlipHorizontally = 40027,
  kCentre = 40028,
  kRomValues = 40029,
  kAccurateValues = 40030,
  kLoadTld = 40031,
  kSaveTld = 40032,
  kRotate90 = 40034,
  kRotate180 = 40035,
  kRotate270 = 40036,
  kRotate45 = 40037,
  kNewLevel = 40038,
  kOpen = 40039,
  kClosed = 40040,
  kClaw = 40041,
  kReverse = 40042,
  kRotate22_5 = 40043,
  kTwoAxisMirror = 40045,
  kTwoAxisRotate = 40046,
  kOneAxisMirror = 40047,
  kOneAxisRotate = 40048,
  kCopy = 40049,
  kPaste = 40050,
  kSetAngleStep = 40051,
  kUndo = 40052,
  kBend = 40054,
  kScalePoints = 40055,
  kScaleLevel = 40056,
  kEditColours = 40057,
  kAbout = 40059,
  kEditText = 40060,
  kHackArcadeHits = 40061,
  kReadMe = 40062,
  kLastCommand = 40062,
};

}  // namespace resources
