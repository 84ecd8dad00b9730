#include "main/app_identity.h"

#include "import/post_load.h"

#include <QCoreApplication>

void setApplicationIdentity() { QCoreApplication::setApplicationName(kAppCaption); }
