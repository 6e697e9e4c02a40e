#pragma once

// Resource identifiers, shared by the code and Resources.rc.
#define kMainIconId 1
#define kSplashBitmapId 100
