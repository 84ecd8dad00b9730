#pragma once
// The "WPX" page: the table of prefixes worked by call area.

#include "main/keoe_grid.h"

#include <QWidget>

class KeoEGridView;
class QPushButton;
class TForm2;

class WpxPage : public QWidget {
    Q_OBJECT
public:
    WpxPage(TForm2& form, QWidget* parent = nullptr);
    ~WpxPage() override;

    TKeoEGrid& grid() { return wpxGrid_; }
    void setLogLoaded(bool loaded);

    QPushButton* Button5 = nullptr; // Show
    KeoEGridView* Keo_wpx = nullptr;

public slots:
    void Button5Click();

private:
    TForm2& form_;
    TKeoEGrid wpxGrid_{10, 2, 1, 1};
};
