#pragma once
// Line edits that take callsigns: typed or pasted in any case, shown in capitals.

class QLineEdit;

void makeUpperCase(QLineEdit* edit);
