// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QComboBox;

// "Select indicator model": a drop-down list of the model list's lines (in file order, not
// sorted) and OK. There is no Cancel button; Escape and the close box cancel.
class CSelectDeviceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectDeviceDlg(QWidget* parent = nullptr);

    // The chosen-model text: set by the caller before showing, the selection after OK.
    void SetChosenModel(const QByteArray& text) { chosenModel_ = text; }
    QByteArray ChosenModel() const { return chosenModel_; }
    // Fills the list from the model list's lines: the second line is selected, empty lines are
    // dropped.
    void SetModelLines(const QList<QByteArray>& lines);

    QComboBox* ModelList() const { return list_; }

public Q_SLOTS:
    void accept() override;

private:
    QComboBox* list_;
    QByteArray chosenModel_;
};
