#ifndef SORTIVANE_SVASSERT_H
#define SORTIVANE_SVASSERT_H

// The program's one guard for internal invariants. It is active in every
// build type: a broken invariant must stop the program, never carry on with
// inconsistent championship data.
//
//   SV_ASSERT( condition )        prints the condition as written
//   SV_ASSERT( condition, text )  prints text instead, for the rare condition
//                                 whose customary wording does not compile
//
// The report names the condition, the source file (relative to the source
// tree) and the line, then the program aborts.

[[noreturn]] void sortivaneAssertFailed( const char* condition_p, const char* file_p, int line_p );

#define SV_ASSERT_1( condition )                                                                                       \
    ( ( condition ) ? static_cast< void >( 0 ) : sortivaneAssertFailed( #condition, __FILE__, __LINE__ ) )
#define SV_ASSERT_2( condition, text )                                                                                 \
    ( ( condition ) ? static_cast< void >( 0 ) : sortivaneAssertFailed( text, __FILE__, __LINE__ ) )
#define SV_ASSERT_PICK( a1, a2, macro, ... ) macro
#define SV_ASSERT( ... ) SV_ASSERT_PICK( __VA_ARGS__, SV_ASSERT_2, SV_ASSERT_1, unused )( __VA_ARGS__ )

#endif
