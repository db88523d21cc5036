#include "school/class_board/deplacement.h"

#include "common/dialogs.h"
#include "common/ui/elided_label.h"
#include "common/ui/layout.h"
#include "common/report.h"
#include "school/data/base.h"
#include "school/data/requetes.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr unsigned kFondPanneau = 0xF8F8F8;

// The panel's labels stand on its background, each in its text colour.
template <class Label>
Label* poser(Label* label, unsigned couleurTexte, int left, int top, int width, int height)
{
    layout::place(label, left, top, width, height);
    layout::setBackground(label, kFondPanneau);
    layout::setTextColour(label, couleurTexte);
    return label;
}

std::optional<qint64> cle(const QString& cdeEleve)
{
    bool ok = false;
    const qint64 valeur = cdeEleve.trimmed().toLongLong(&ok);
    return ok ? std::optional(valeur) : std::nullopt;
}

} // namespace

std::optional<EleveDeplace> eleveParCle(db::Database& base, const QString& cdeEleve)
{
    const auto valeur = cle(cdeEleve);
    if (!valeur)
        return std::nullopt;
    const db::Rows rows = base.query(
        QStringLiteral("SELECT Nom, Prenom FROM Eleves WHERE CdeEleves = ?"), {*valeur});
    if (rows.empty())
        return std::nullopt;
    return EleveDeplace{rows.front()[u"Nom"], rows.front()[u"Prenom"]};
}

bool changerClasse(db::Database& base, const QString& cdeEleve, const QString& classe)
{
    const auto valeur = cle(cdeEleve);
    return valeur
        && base.exec(QStringLiteral("UPDATE Eleves SET Classe = ? WHERE CdeEleves = ?"),
                     {classe, *valeur}) == 1;
}

PanneauDeplacement::PanneauDeplacement(QWidget* colonne) : QFrame(colonne)
{
    setObjectName(QStringLiteral("Frame2"));
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    layout::place(this, 0, 5760, 1935, 1815);
    layout::setBackground(this, kFondPanneau);

    // The frame's caption sits on its top border.
    QLabel* legende = layout::caption(this, QStringLiteral("Frame2_Legende"), QStringLiteral("Transférer :"));
    layout::setBackground(legende, kFondPanneau);
    layout::setTextColour(legende, 0x80FF);
    legende->move(layout::px(120), 0);
    legende->adjustSize();

    QLabel* titre = poser(layout::caption(this, QStringLiteral("Label1_3"), QStringLiteral("Elève :")), 0x000000, 15,
                          240, 765, 240);
    titre->setAlignment(Qt::AlignCenter);
    // As wide as the class list below it; a longer name ends in "…" and shows whole in its tooltip.
    eleve_ = poser(new ElidedLabel(this), 0x0000FF, 120, 480, 1695, 240);
    eleve_->setObjectName(QStringLiteral("Label1_2"));
    eleve_->setFullText(QStringLiteral("Prénom :"));
    poser(layout::caption(this, QStringLiteral("Label1_4"), QStringLiteral("vers la classe:")), 0x404040, 120, 840,
          1440, 240);

    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    Combo1_->setEditable(false);
    layout::place(Combo1_, 120, 1200, 1695, 360);

    valider_ = new QPushButton(QStringLiteral("Valider"), colonne);
    valider_->setObjectName(QStringLiteral("Bt_ChangeClasse_0"));
    layout::place(valider_, 0, 7680, 1935, 375);
    QPalette palette = valider_->palette();
    palette.setColor(QPalette::Button, QColor(layout::bgr(0xE1E1E1)));
    valider_->setPalette(palette);
    connect(valider_, &QPushButton::clicked, this, &PanneauDeplacement::Bt_ChangeClasse_Click);

    hide();
    valider_->hide();
}

void PanneauDeplacement::ouvrir(const QString& cdeEleve, const QString& classeActuelle)
{
    std::optional<EleveDeplace> eleve;
    QStringList classes;
    if (!report::attempt([&] {
            eleve = eleveParCle(base::db(), cdeEleve);
            classes = requetes::classes(base::db());
        }))
        return;
    if (!eleve) {
        dialogs::message(QStringLiteral("Cet élève n'est plus dans la base de données."),
                         dialogs::Icon::Exclamation);
        return;
    }
    cdeEleve_ = cdeEleve;
    classeActuelle_ = classeActuelle;
    eleve_->setFullText(eleve->nom + u' ' + eleve->prenom);

    Combo1_->clear();
    Combo1_->addItems(classes);
    int courante = -1;
    for (int i = 0; i < classes.size() && courante < 0; ++i)
        if (db::compareFrench(classes[i], classeActuelle) == 0)
            courante = i;
    if (courante < 0) {
        Combo1_->addItem(classeActuelle);
        courante = Combo1_->count() - 1;
    }
    Combo1_->setCurrentIndex(courante);

    show();
    valider_->show();
}

void PanneauDeplacement::Bt_ChangeClasse_Click()
{
    // A closed panel has no move: its hidden button may still be reached.
    if (cdeEleve_.isEmpty())
        return;
    const QString nouvelle = Combo1_->currentText();
    if (db::compareFrench(nouvelle, classeActuelle_) == 0) {
        fermer();
        return;
    }
    bool fait = false;
    // On a failure the panel stays open: the move can be tried again.
    if (!report::attempt([&] { fait = changerClasse(base::db(), cdeEleve_, nouvelle); }))
        return;
    const QString ancienne = classeActuelle_;
    fermer();
    if (fait)
        Q_EMIT eleveDeplace(ancienne, nouvelle);
    else
        dialogs::message(QStringLiteral("Cet élève n'est plus dans la base de données : "
                                        "il n'a pas été transféré."),
                         dialogs::Icon::Exclamation);
}

void PanneauDeplacement::abandonner()
{
    if (!isHidden())
        fermer();
}

void PanneauDeplacement::fermer()
{
    cdeEleve_.clear();
    classeActuelle_.clear();
    hide();
    valider_->hide();
    Q_EMIT ferme();
}
