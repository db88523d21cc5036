#include "school/workspace/bandeau.h"

#include "common/ui/layout.h"
#include "school/ui/outils_fenetre.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* imageEtape(QWidget* parent, int numero)
{
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("ImageEtape%1").arg(numero));
    image->setPixmap(dessins::etape(numero, layout::px(495)));
    layout::place(image, 120, 120, 495, 495);
    return image;
}

// The band's bold captions.
QLabel* titre(QWidget* parent, const QString& nom, const QString& texte, int left, int width)
{
    QLabel* label = layout::caption(parent, nom, texte);
    label->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));
    layout::place(label, left, 240, width, 255);
    return label;
}

} // namespace

Bandeau::Bandeau(QWidget* fond) : QFrame(fond)
{
    setObjectName(QStringLiteral("Frame4"));
    layout::setBackground(this, 0xFFFFFF);
    layout::place(this, 2040, 0, 15975, 735);

    LbType = titre(this, QStringLiteral("LbType"), QStringLiteral("Classe :"), 240, 1095);
    LbType->setWordWrap(true);
    LbClasse = titre(this, QStringLiteral("LbClasse"), {}, 1335, 6000);

    etapes.ImageEtape1 = imageEtape(this, 1);
    etapes.ImageEtape2 = imageEtape(this, 2);
    etapes.LabelDonnerNom =
        titre(this, QStringLiteral("LabelDonnerNom"), QStringLiteral("Donner un nom au nouveau groupe :"), 720, 7600);
    etapes.SaisieNomGroupe = new QLineEdit(this);
    etapes.SaisieNomGroupe->setObjectName(QStringLiteral("SaisieNomGroupe"));
    layout::place(etapes.SaisieNomGroupe, 5760, 180, 2535, 375);
    etapes.Valider = creerBouton(this, QStringLiteral("Bt_Etapes_0"), QStringLiteral("Valider"));
    layout::place(etapes.Valider, 8400, 180, 1215, 375);
    etapes.Termine = creerBouton(this, QStringLiteral("Bt_Etapes_1"), QStringLiteral("Terminé"));
    layout::place(etapes.Termine, 9720, 180, 1215, 375);
    // Enter in the name box presses "Valider".
    connect(etapes.SaisieNomGroupe, &QLineEdit::returnPressed, etapes.Valider, &QPushButton::click);

    for (QWidget* controle : std::initializer_list<QWidget*>{
             LbType, LbClasse, etapes.ImageEtape1, etapes.ImageEtape2, etapes.LabelDonnerNom,
             etapes.SaisieNomGroupe, etapes.Valider, etapes.Termine})
        controle->hide();
}

void Bandeau::montrerTitre(const QString& type, bool visible)
{
    LbType->setText(type);
    LbType->setVisible(visible);
    LbClasse->setVisible(visible);
}

void Bandeau::cacherTitre()
{
    LbType->hide();
    LbClasse->hide();
}
