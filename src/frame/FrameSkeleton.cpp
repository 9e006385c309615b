// The frame window MDIFormMain arrives with the frame work.
