# The About values (owner, web address, author) as string literals, so that any text given
# builds and shows as given: <VAR>_C for C++ ("\"" and "\\" escaped, line breaks as \n) and
# <VAR>_RC for Windows resources (a quote doubled, a backslash escaped).
function(cdv_literales)
    foreach(variable CDV_PROPIETARIO CDV_WEB CDV_AUTOR)
        string(REPLACE "\\" "\\\\" texto "${${variable}}")
        string(REPLACE "\n" "\\n" texto_c "${texto}")
        string(REPLACE "\"" "\\\"" texto_c "${texto_c}")
        string(REPLACE "\"" "\"\"" texto_rc "${texto}")
        set(${variable}_C "${texto_c}" PARENT_SCOPE)
        set(${variable}_RC "${texto_rc}" PARENT_SCOPE)
    endforeach()
endfunction()
