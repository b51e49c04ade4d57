#pragma once
#include "spreadsheet/MenuImport.h"

#include <QAbstractTableModel>

// The rows of a menu import's preview as a table model: the cells are made
// when shown, so a preview of many thousand rows opens at once.
class MenuImportModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    MenuImportModel(const MenuImport::Preview& preview, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString kindText(MenuImport::Kind kind);

  private:
    QString text(const MenuImport::Entry& entry, int column) const;

    const MenuImport::Preview& m_preview;
};
