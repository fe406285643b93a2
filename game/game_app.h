// The game library's application object.
#pragma once

#include "framework/winapp.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;
};
