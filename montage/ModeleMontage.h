#pragma once
// The montage list as a Qt model over the engine's lines, and the delegate
// that paints each row: icon and caption, or the raw line.

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include "montage/Montage.h"

namespace plivor {

// Drags between Plivor's own lists carry line numbers or paths under this type.
inline constexpr const char* kTypeLignes = "application/x-plivor-lignes";

class ModeleMontage : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { RoleIcone = Qt::UserRole + 1, RoleLegende, RoleAvertissement, RoleLigne };

  explicit ModeleMontage(Montage& montage, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  // The lines changed in the engine: the views read them again.
  void Recharger();

 private:
  Montage& montage_;
};

// The resource window's drag: full paths under the private type.
QMimeData* MimeSources(const Liste& chemins);

class DelegueMontage : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit DelegueMontage(Montage& montage, QObject* parent = nullptr);
  void paint(QPainter* peintre, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  static constexpr int kHauteur = 13;

 private:
  Montage& montage_;
};

}  // namespace plivor
