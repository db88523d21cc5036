#pragma once

#include "school/class_board/html.h"

#include <QString>
#include <QStringList>
#include <vector>

// The documents that gather several boards, and the term sheet of a class.
namespace recueils {

struct Page {
    QString nom; // the group or the class
    std::vector<html::Entree> entrees;
};

// filetemp.html of the all-groups ("Groupe") or all-classes ("Classe") print:
// a new page for every board, each cut into rows as every board document.
QStringList tousLesTableaux(const QString& etablissement, const QString& type, const std::vector<Page>& pages);

// filetemp1.html: one row per student, the portrait and the names, then three
// empty columns for the terms. entete.type and entete.nom make the heading.
QStringList ficheTrimestrielle(const html::Entete& entete, const std::vector<html::Entree>& entrees);

} // namespace recueils
