# The protections Debian builds its own packages with (dpkg-buildflags with
# hardening=+all): checked buffer functions, stack protection, and relocations
# resolved and made read-only when the program starts, for `target`.
function(europa_hardening target)
    target_compile_options(${target} PRIVATE -fstack-protector-strong -fstack-clash-protection
                                             -fcf-protection -Wformat -Werror=format-security)
    # Fortified functions need the optimiser; some compilers define the macro already.
    target_compile_options(${target} PRIVATE
                           "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now)
endfunction()
