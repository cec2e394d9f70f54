namespace lw_placeholder_table {}
