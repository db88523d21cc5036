#include "photographer/workspace/accueil.h"

Accueil::Accueil() : Form(QStringLiteral("Accueil"))
{
    setWindowTitle(QStringLiteral("Zelvantis"));
}

void Accueil::onLoad() {}

void Accueil::onActivate() {}
