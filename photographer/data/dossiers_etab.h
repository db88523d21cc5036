#pragma once

#include <QString>
#include <QStringList>

// The folders of an establishment, one rule for the workspace, the shoot and
// the capture: its pictures in the data folder, the " BR" and " BR3" copies
// beside them, and its high-definition archive under labohd.
namespace dossiers_etab {

struct Dossiers {
    QString donnees;
    QString br;
    QString br3;
    QString archive;

    // False for a name that cannot name a folder ("", "." or ".."): such an
    // establishment has no folders, and nothing may be written for it.
    bool valides() const { return !donnees.isEmpty(); }
    QStringList tous() const;
};

// The folders of the establishment named nom, in the data folder cheminDonnees.
Dossiers de(const QString& cheminDonnees, const QString& nom);

// The same in the data folder in use (etat::CheminDonnees).
Dossiers de(const QString& nom);

// What two establishments must not share: the name of their folder, ignoring case.
QString cle(const QString& nom);

} // namespace dossiers_etab
