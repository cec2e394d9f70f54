namespace lw_placeholder_data {}
