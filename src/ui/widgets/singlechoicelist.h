#pragma once
#include <QListWidget>

namespace kesto {

// A list in which exactly one row stays chosen once one is: a click or key that would only
// take the selection away (Ctrl+click or Ctrl+Space on the chosen row, a click below the
// last row) leaves it as it is.
class SingleChoiceList : public QListWidget
{
    Q_OBJECT
public:
    explicit SingleChoiceList(QWidget *parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
};

} // namespace kesto
