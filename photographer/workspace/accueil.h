#pragma once

#include "common/form.h"

// The photographer's main window: the list of establishments and its menus.
class Accueil : public Form {
    Q_OBJECT
public:
    Accueil();

protected:
    void onLoad() override;
    void onActivate() override;
};
