#include "montage/ModeleMontage.h"

#include <QDataStream>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include "montage/Icones.h"

namespace plivor {

namespace {

// Which list a drag of our type comes from.
constexpr char kDeLaListe = 'L';
constexpr char kDesSources = 'S';

QColor VersCouleur(Couleur c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

}  // namespace

ModeleMontage::ModeleMontage(Montage& montage, QObject* parent) : QAbstractListModel(parent), montage_(montage) {}

int ModeleMontage::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : montage_.Compte(); }

QVariant ModeleMontage::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= montage_.Compte()) return {};
  const int i = index.row();
  switch (role) {
    case Qt::DisplayRole:
    case RoleLegende: return TexteEcran(montage_.Legende(i));
    case RoleIcone: return montage_.Icone(i);
    case RoleAvertissement: {
      const int icone = montage_.Icone(i);
      return icone == 19 || icone == 20;
    }
    case RoleLigne:
    case Qt::ToolTipRole: return TexteEcran(montage_.Lignes()[static_cast<size_t>(i)]);
    default: return {};
  }
}

Qt::ItemFlags ModeleMontage::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList ModeleMontage::mimeTypes() const {
  return {QString::fromLatin1(kTypeLignes), QStringLiteral("text/uri-list")};
}

QMimeData* ModeleMontage::mimeData(const QModelIndexList&) const {
  // The engine knows the selection; the drag only says where it comes from.
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kTypeLignes), QByteArray(1, kDeLaListe));
  return data;
}

QMimeData* MimeSources(const Liste& chemins) {
  QByteArray octets(1, kDesSources);
  for (const Texte& c : chemins) {
    octets += QByteArray::fromStdString(c);
    octets += '\n';
  }
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kTypeLignes), octets);
  return data;
}

bool ModeleMontage::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const {
  if (data->hasUrls()) return true;
  return montage_.DragOn && data->hasFormat(QString::fromLatin1(kTypeLignes));
}

bool ModeleMontage::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                 const QModelIndex& parent) {
  if (action == Qt::IgnoreAction) return true;
  // In front of the row under the pointer; past the last row: at the end.
  const int rangee = row >= 0 ? row : parent.isValid() ? parent.row() : montage_.Compte();
  const QByteArray octets = data->data(QString::fromLatin1(kTypeLignes));
  if (!octets.isEmpty() && octets[0] == kDeLaListe) {
    montage_.DeposerInterne(rangee);
    return false;  // the engine moved the lines: the view must not remove any
  }
  if (!octets.isEmpty() && octets[0] == kDesSources) {
    Liste chemins;
    for (const QByteArray& l : octets.mid(1).split('\n'))
      if (!l.isEmpty()) chemins.push_back(l.toStdString());
    montage_.DeposerSource(chemins, rangee);
    return false;
  }
  if (data->hasUrls()) {
    QStringList chemins;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) chemins << url.toLocalFile();
    montage_.DeposerBureau(chemins, rangee);
    return false;
  }
  return false;
}

void ModeleMontage::Recharger() {
  beginResetModel();
  endResetModel();
}

DelegueMontage::DelegueMontage(Montage& montage, QObject* parent) : QStyledItemDelegate(parent), montage_(montage) {}

QSize DelegueMontage::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const { return {180, kHauteur}; }

void DelegueMontage::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (montage_.DessinSuspendu || index.row() >= montage_.Compte()) return;
  const QRect r = option.rect;
  const bool choisie = option.state & QStyle::State_Selected;
  p->fillRect(r, choisie ? option.palette.highlight().color() : QColor(230, 220, 200));
  QFont police = option.font;
  police.setPixelSize(10);
  p->setFont(police);
  const Texte& ligne = montage_.Lignes()[static_cast<size_t>(index.row())];
  if (montage_.ModeTexte) {
    const int genre = GenreExtension(ligne);
    const QColor couleur = genre == Genre::Instruction || genre == Genre::InstructionTexte
                               ? QColor(100, 80, 60)
                               : VersCouleur(montage_.Vue().CouleurDiapo);
    p->setPen(choisie ? option.palette.highlightedText().color() : couleur);
    p->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, TexteEcran(ligne));
    return;
  }
  const int icone = montage_.Icone(index.row());
  const QPixmap& image = IconeMontage(icone);
  if (!image.isNull()) p->drawPixmap(r.left(), r.top() + (r.height() - kHauteurIcone) / 2, image);
  const bool alerte = icone == 19 || icone == 20;
  p->setPen(choisie ? option.palette.highlightedText().color() : alerte ? QColor(200, 0, 0) : QColor(Qt::black));
  p->drawText(r.adjusted(32, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, TexteEcran(montage_.LegendeDe(ligne, icone)));
}

}  // namespace plivor
