# Sourced by the tests that run the README's examples as they stand:
# readme_block ROOT TAG prints the lines of the fenced block of ROOT/README.md
# that opens with ```TAG (the first such block).
readme_block() {
    awk -v tag="$2" '$0 == "```" tag {on = 1; next} on && /^```$/ {exit} on' "$1/README.md"
}
