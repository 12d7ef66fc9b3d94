# Qt's own safety switches, for `target`: no text is made from bytes or bytes
# from text unless the conversion is written where it happens, no URL from a
# string, no Qt call deprecated in the Qt the program needs, and text joined
# with % and + is built at once. The program, its tests, its benchmarks and the
# tools that link Qt all build with them.
function(europa_qt_switches target)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_URL_CAST_FROM_STRING
        QT_USE_QSTRINGBUILDER
        # Qt 6.4, the oldest the program builds with.
        QT_DISABLE_DEPRECATED_BEFORE=0x060400
    )
endfunction()
