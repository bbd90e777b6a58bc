#ifndef SORTIVANE_ATOMICFILE_H
#define SORTIVANE_ATOMICFILE_H

#include <QString>

#include <functional>

class QIODevice;

// Writes a file whole or not at all: the text goes to a temporary file that
// replaces the target only once all of it was written.
class AtomicFile
{
public:
    // Fills the file through fill_p, which returns whether all went well.
    // Refuses a target that exists and is not a regular file: writing over a
    // device or a FIFO would replace it. On failure error_rp says why.
    static bool write( const QString& fileName_p, const std::function< bool( QIODevice* ) >& fill_p,
                       QString* error_rp = nullptr );
};

#endif
