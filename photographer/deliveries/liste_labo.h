#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The lab order list: one line per delivered student, the order code first.
namespace liste_labo {

struct Ligne {
    QString cdeEleves;
    QString nom;
    QString prenom;
};

// "<CdeEleves>;<Nom>;<Prenom>;" for each student, in the given order: one
// line of three fields each, as ";", CR, LF and the other control characters
// of a value are written as blanks.
QStringList lignes(const std::vector<Ligne>& eleves);

// "<name>_DDMMYYYYhhmmss.csv", the name made one path component.
QString nomFichier(const QString& nomEtab, const QDateTime& moment);

} // namespace liste_labo
