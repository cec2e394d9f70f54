namespace lw_placeholder_text {}
