// The game library's application object.
#pragma once

#include "winapp.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;
};
