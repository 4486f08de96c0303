# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the English course-writing guide from the README's sections for teachers, so the guide
# in the package never drifts from the README.
#   cmake -DREADME=README.md -DOUTPUT=course-guide.md -P course-guide.cmake
set(sections "Writing a course" "Checking a course with lexamo-check")

file(READ "${README}" readme)
set(guide "# Writing Lexamo courses\n")
foreach(section IN LISTS sections)
    string(FIND "${readme}" "\n## ${section}\n" begin)
    if(begin EQUAL -1)
        message(FATAL_ERROR "${README} has no section '## ${section}'")
    endif()
    math(EXPR begin "${begin} + 1")
    string(SUBSTRING "${readme}" ${begin} -1 rest)
    # The section ends where the next one of the same level starts.
    string(FIND "${rest}" "\n## " end)
    string(SUBSTRING "${rest}" 0 ${end} body)
    string(REGEX REPLACE "\n+$" "" body "${body}")
    string(APPEND guide "\n${body}\n")
endforeach()
file(WRITE "${OUTPUT}" "${guide}")
