#include "svassert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
// __FILE__ carries the absolute path of the build machine; the report names
// the file as it stands in the source tree ("src/championship.cpp").
const char* sourceTreePath( const char* file_p )
{
    const char* const sourceDir_cl = SORTIVANE_SOURCE_DIR;
    const std::size_t length_cl = std::strlen( sourceDir_cl );
    if( 0 == std::strncmp( file_p, sourceDir_cl, length_cl ) )
        return file_p + length_cl;
    return file_p;
}
}

void sortivaneAssertFailed( const char* condition_p, const char* file_p, int line_p )
{
    std::fprintf( stderr, "Assertion failed: \"%s\" in %s, line %d\n", condition_p, sourceTreePath( file_p ), line_p );
    std::fflush( stderr );
    std::abort();
}
