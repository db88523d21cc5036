#pragma once

#include "common/ui/form.h"

class QLabel;

// The about box: version, copyright, the maker's site and a legal notice.
// It stays above the other windows and leaves its caller shown.
class Propos : public Form {
    Q_OBJECT
public:
    Propos();

protected:
    void onLoad() override;
    void onActivate() override;

private:
    void Labelweb_Click();
    void Bt_Ok_Click();

    QLabel* LabelVersion_;
    QLabel* LabelCopyright_;
};
