#include "school/class_board/geometrie.h"

namespace geometrie {

namespace {

constexpr int kLargeurPhoto = 1665;
constexpr int kHauteurPhoto = 2505;
constexpr int kPasColonne = kLargeurPhoto + 100;
constexpr int kPasRangee = kHauteurPhoto + 50;
constexpr int kHauteurLabel = 255;
constexpr int kLargeurLabel = 1615;
constexpr int kIcone = 195;
constexpr int kRetrait = 50;

Cadres celluleDessinee()
{
    return {QRect(0, 0, kLargeurPhoto, kHauteurPhoto), QRect(30, 1975, kLargeurLabel, kHauteurLabel),
            QRect(30, 2235, kLargeurLabel, kHauteurLabel), QRect(1440, 1764, kIcone, kIcone),
            QRect(45, 1764, kIcone, kIcone), QRect(0, 2445, 75, 180), QRect(120, 2520, 75, 180),
            QRect(30, 30, 1575, kHauteurLabel)};
}

} // namespace

Cadres cellule(int index)
{
    const Cadres zero = celluleDessinee();
    if (index <= 0)
        return zero;

    const int colonne = index % kCellulesParRangee;
    const int left = colonne * kPasColonne;
    const int top = (index / kCellulesParRangee) * kPasRangee;
    const bool debutRangee = colonne == 0;
    const int basNom = top + kHauteurPhoto - 2 * kHauteurLabel;
    const auto a = [debutRangee](int gauche, int gaucheDessinee) { return debutRangee ? gaucheDessinee : gauche; };

    Cadres c;
    c.image = QRect(left, top, kLargeurPhoto, kHauteurPhoto);
    c.nom = QRect(a(left + kRetrait, zero.nom.left()), basNom, kLargeurLabel, kHauteurLabel);
    c.prenom = QRect(a(left + kRetrait, zero.prenom.left()), basNom + kHauteurLabel, kLargeurLabel, kHauteurLabel);
    c.suppression = QRect(a(left + kLargeurPhoto - kIcone - kRetrait, zero.suppression.left()), basNom - kIcone,
                          kIcone, kIcone);
    c.changement = QRect(a(left + kRetrait, zero.changement.left()), basNom - kIcone, kIcone, kIcone);
    c.num = zero.num.translated(left, top);
    c.codeImage = zero.codeImage.translated(left, top);
    c.classe = QRect(a(left + kRetrait, zero.classe.left()), top + kRetrait, zero.classe.width(), kHauteurLabel);
    return c;
}

QSize tailleCadre(int nombre)
{
    const int rangees = (qMax(nombre, 1) + kCellulesParRangee - 1) / kCellulesParRangee;
    const int hauteur = (rangees - 1) * kPasRangee + kHauteurPhoto;
    return {kTailleCadre.width(), qMax(kTailleCadre.height(), hauteur)};
}

Ouverture ouvertureDocument(int index)
{
    if (index == 0)
        return Ouverture::Table;
    if (index % kCellulesParLigneDocument == 0)
        return Ouverture::Ligne;
    return Ouverture::Aucune;
}

} // namespace geometrie
