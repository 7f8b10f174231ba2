#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

// A framed group of radio buttons laid out in columns, one per item, in item order.
// clicked() is raised whenever the selected item changes, by the user or by code;
// selecting the item that is already selected raises nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const { return buttons_.value(index); }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutButtons();

    QList<QRadioButton*> buttons_;
    int columns_;
};
