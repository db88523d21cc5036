#pragma once

#include "school/workspace/assistant_groupe.h"

#include <QFrame>

class QLabel;

// The main window's top band "Frame4": the heading of the board shown
// ("Classe :" or "Groupe :" and its name) and, in its place while a group is
// made, the wizard's steps. All hidden until a board or the wizard shows them.
class Bandeau : public QFrame {
public:
    explicit Bandeau(QWidget* fond);

    // The heading of a board; hidden when the board's name is not to show.
    void montrerTitre(const QString& type, bool visible);
    void cacherTitre();

    QLabel* LbType = nullptr;
    QLabel* LbClasse = nullptr;
    EtapesAssistant etapes;
};
