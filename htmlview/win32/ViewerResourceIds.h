#pragma once

// The viewer's own resources, linked into every program that uses the viewer.
#define kViewerCannotLoadBitmap 1001
#define kViewerNotShownBitmap 1002
#define kViewerHandCursor 1003
#define kViewerCannotLoadMask 1005
#define kViewerTextCursor 1006
