// The static Qt for Windows carries its plugins inside each program: the
// publisher draws on the offscreen platform, which needs no display.
#include <QtPlugin>

Q_IMPORT_PLUGIN( QOffscreenIntegrationPlugin )
