#include "ui/widgets/singlechoicelist.h"

namespace kesto {

SingleChoiceList::SingleChoiceList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags SingleChoiceList::selectionCommand(const QModelIndex &index,
                                                                       const QEvent *event) const
{
    QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    // A click below the last row names no row; it would only clear the selection.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const bool takesAway = command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle);
    if (takesAway && selectionModel()->isSelected(index))
        return QItemSelectionModel::NoUpdate;
    return command;
}

} // namespace kesto
