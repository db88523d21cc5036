#pragma once

#include "common/ui/form.h"

class QLabel;

// The about box: the program's title, version, copyright mention, legal
// warning and the maker's web address. Modeless; the main window stays usable.
class APropos : public Form {
    Q_OBJECT
public:
    APropos();

    // The address shown by Label10 and opened by a click on it.
    static QString adresseSite();

protected:
    void onLoad() override;
    void onActivate() override;

private:
    QLabel* labelCopyright_ = nullptr;
    QLabel* labelVersion_ = nullptr;
};
