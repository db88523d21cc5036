#pragma once

#include <QScrollArea>

class Planche;

// The board area "ZonePlanche": the board frame in a scroll area that fills
// the window right of the left column and below the top band.
class ZonePlanche : public QScrollArea {
public:
    explicit ZonePlanche(QWidget* fond);

    Planche& planche() const { return *planche_; }
    // A new board is seen from its first cell.
    void remettreDefilement();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    Planche* planche_;
};
