#include "school/ui/outils_fenetre.h"

#include "common/ui/layout.h"

#include <QFrame>
#include <QPushButton>
#include <QPainter>

#include <functional>

QPushButton* creerBouton(QWidget* parent, const QString& nom, const QString& texte)
{
    auto* button = new QPushButton(texte, parent);
    button->setObjectName(nom);
    return button;
}

QFrame* creerForme(QWidget* parent, const QString& nom, unsigned couleurBgr)
{
    auto* forme = new QFrame(parent);
    forme->setObjectName(nom);
    forme->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid white;"
                                        " border-radius: 10px; }")
                             .arg(nom, QColor(layout::bgr(couleurBgr)).name()));
    return forme;
}

namespace dessins {

namespace {
QPixmap toile(int cote)
{
    QPixmap pixmap(cote, cote);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A filled disc with a white mark drawn over it.
QPixmap pastille(int cote, const QColor& fond, const std::function<void(QPainter&)>& marque)
{
    QPixmap pixmap = toile(cote);
    QPainter peintre(&pixmap);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(fond);
    peintre.setPen(Qt::NoPen);
    peintre.drawEllipse(QRectF(0.5, 0.5, cote - 1, cote - 1));
    marque(peintre);
    peintre.end();
    return pixmap;
}

void ecrireAuCentre(QPainter& peintre, const QRect& zone, const QString& texte, int pixels)
{
    QFont police(QStringLiteral("Verdana"));
    police.setBold(true);
    police.setPixelSize(pixels);
    peintre.setFont(police);
    peintre.drawText(zone, Qt::AlignCenter, texte);
}
} // namespace

QPixmap croixRetrait(int cote)
{
    return pastille(cote, QColor(200, 30, 30), [cote](QPainter& peintre) {
        peintre.setPen(QPen(Qt::white, qMax(1, cote / 6)));
        const int marge = cote / 4;
        peintre.drawLine(marge, marge, cote - 1 - marge, cote - 1 - marge);
        peintre.drawLine(marge, cote - 1 - marge, cote - 1 - marge, marge);
    });
}

QPixmap etape(int numero, int cote)
{
    return pastille(cote, QColor(0x3A, 0x7B, 0xD5), [numero, cote](QPainter& peintre) {
        peintre.setPen(Qt::white);
        ecrireAuCentre(peintre, QRect(0, 0, cote, cote), QString::number(numero), cote * 3 / 5);
    });
}

QPixmap logo(int cote)
{
    QPixmap pixmap = toile(cote);
    QPainter peintre(&pixmap);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(QColor(0xFB, 0xC0, 0x8C));
    peintre.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    peintre.drawRoundedRect(QRectF(2, 2, cote - 4, cote - 4), cote / 8.0, cote / 8.0);
    ecrireAuCentre(peintre, pixmap.rect(), QStringLiteral("V"), cote / 2);
    return pixmap;
}

} // namespace dessins
